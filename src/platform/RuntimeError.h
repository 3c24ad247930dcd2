#pragma once

#include <QString>
#include <stdexcept>

// A run-time error of the program: an overflowing counter, a stored text
// that is not a number, a missing resource. Where it is raised nothing
// handles it; the handler of the event that led to it reports it and ends
// the program. Only the reading of the stored count catches it, to fall
// back on the count's leading number.
class RuntimeError : public std::runtime_error
{
public:
    enum Code { Overflow = 6, TypeMismatch = 13, ResourceNotFound = 326 };

    RuntimeError(Code code, const QString &message);

    Code code() const { return m_code; }
    QString message() const { return m_message; }

    static RuntimeError overflow();
    static RuntimeError typeMismatch();
    static RuntimeError resourceNotFound(int id);

private:
    Code m_code;
    QString m_message;
};
