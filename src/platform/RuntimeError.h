#pragma once

#include <QString>
#include <stdexcept>

// A run-time error of the program: an overflowing counter, a stored text
// that is not a number, a missing resource. Where it is raised nothing
// handles it; the handler of the event that led to it reports it and ends
// the program. Two places alone catch it and go on: the reading of the
// stored count, to fall back on its leading number, and the getting ready
// for the greeting before any window exists, which leaves a missing clip
// to be reported when the greeting itself loads it.
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
