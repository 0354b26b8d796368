#pragma once

#include <QString>
#include <QtGlobal>

// Writes every diagnostic message to standard output as one line, "Debug: ", "Warning: ",
// "Critical: " or "Fatal: " before the text, flushed at once. Aborts after a fatal message.
void messageHandler(QtMsgType type, const QMessageLogContext& context, const QString& text);
