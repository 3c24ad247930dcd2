// The Qt headers that most test programs read, made into one precompiled
// header that they all share.
#include <QApplication>
#include <QFile>
#include <QList>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QString>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <functional>
#include <memory>
