#include "link/diagnostic.h"

#include <QDebug>

Diagnostic::Diagnostic(QtMsgType type)
    : m_type(type)
{}

Diagnostic::~Diagnostic()
{
    // nospace() keeps the trailing space that every item carries.
    switch (m_type) {
    case QtDebugMsg:
        qDebug().noquote().nospace() << m_line;
        break;
    case QtInfoMsg:
        qInfo().noquote().nospace() << m_line;
        break;
    case QtWarningMsg:
        qWarning().noquote().nospace() << m_line;
        break;
    case QtCriticalMsg:
        qCritical().noquote().nospace() << m_line;
        break;
    case QtFatalMsg:
        qFatal("%s", qUtf8Printable(m_line));
        break;
    }
}

Diagnostic& Diagnostic::operator<<(const char* text)
{
    m_line += QString::fromUtf8(text) + QLatin1Char(' ');
    return *this;
}

Diagnostic& Diagnostic::operator<<(const QString& value)
{
    m_line += QLatin1Char('"') + value + QLatin1String("\" ");
    return *this;
}

Diagnostic& Diagnostic::operator<<(int number)
{
    m_line += QString::number(number) + QLatin1Char(' ');
    return *this;
}
