#include "widgets/wvaluepanel.h"

#include "link/diagnostic.h"

WValuePanel::WValuePanel(QWidget* parent)
    : QWidget(parent)
{}

void WValuePanel::readValues(const QString& title, std::initializer_list<char> types)
{
    Diagnostic() << title << "::updateValues()";
    for (char type : types)
        emit requestValue(motorBank, type);
}
