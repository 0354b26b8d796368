#include "widgets/wcommutationmode.h"

#include "link/diagnostic.h"
#include "link/formfit.h"
#include "ui_wcommutationmode.h"

WCommutationMode::WCommutationMode(QWidget* parent)
    : WValuePanel(parent)
    , ui(std::make_unique<Ui::WCommutationMode>())
{
    ui->setupUi(this);
    FormFit::allowContents(this);
}

WCommutationMode::~WCommutationMode() = default;

void WCommutationMode::addMode(const QString& text, int value)
{
    // The item goes in first: the first item selects itself before its pair exists.
    ui->cbCommutationMode->addItem(text);
    modes.append({text, QString::number(value)});
}

void WCommutationMode::updateValues()
{
    Diagnostic() << "WCommutationMode::updateValues()";
    emit requestValue(motorBank, type);
}

void WCommutationMode::on_cbCommutationMode_currentIndexChanged(int index)
{
    const QString text = ui->cbCommutationMode->itemText(index);
    int value = 0;
    for (const auto& mode : modes) {
        if (mode.first == text) {
            value = mode.second.toInt();
            break;
        }
    }
    emit changeValue(motorBank, type, value);
}

void WCommutationMode::requestedValue(char motorBank, char type, int value)
{
    if (!isOwnBank(motorBank) || type != this->type)
        return;
    QString text;
    const QString valueText = QString::number(value);
    for (const auto& mode : modes) {
        if (mode.second == valueText) {
            text = mode.first;
            break;
        }
    }
    Diagnostic() << "change commutation mode to: " << text;
    const int index = ui->cbCommutationMode->findText(text);
    if (index >= 0)
        ui->cbCommutationMode->setCurrentIndex(index);
}
