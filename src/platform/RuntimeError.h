#pragma once

#include <QString>
#include <stdexcept>

// A run-time error of the program. Nothing inside the program catches it:
// it travels to the event loop or to start-up, where ErrorReport shows it
// and ends the program.
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
