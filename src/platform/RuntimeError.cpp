#include "RuntimeError.h"

#include <QCoreApplication>

RuntimeError::RuntimeError(Code code, const QString &message)
    : std::runtime_error(message.toStdString())
    , m_code(code)
    , m_message(message)
{
}

RuntimeError RuntimeError::overflow()
{
    return RuntimeError(Overflow, QCoreApplication::translate("RuntimeError", "Overflow"));
}

RuntimeError RuntimeError::typeMismatch()
{
    return RuntimeError(TypeMismatch, QCoreApplication::translate("RuntimeError", "Type mismatch"));
}

RuntimeError RuntimeError::resourceNotFound(int id)
{
    return RuntimeError(ResourceNotFound,
                        QCoreApplication::translate("RuntimeError", "Resource with identifier '%1' not found").arg(id));
}
