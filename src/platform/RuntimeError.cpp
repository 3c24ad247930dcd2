#include "RuntimeError.h"

RuntimeError::RuntimeError(Code code, const QString &message)
    : std::runtime_error(message.toStdString())
    , m_code(code)
    , m_message(message)
{
}

RuntimeError RuntimeError::overflow()
{
    return RuntimeError(Overflow, QStringLiteral("Overflow"));
}

RuntimeError RuntimeError::typeMismatch()
{
    return RuntimeError(TypeMismatch, QStringLiteral("Type mismatch"));
}

RuntimeError RuntimeError::resourceNotFound(int id)
{
    return RuntimeError(ResourceNotFound,
                        QStringLiteral("Resource with identifier '%1' not found").arg(id));
}
