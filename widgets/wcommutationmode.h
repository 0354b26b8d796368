#pragma once

#include "widgets/wvaluepanel.h"

#include <QList>
#include <QPair>
#include <QString>

#include <memory>

namespace Ui {
class WCommutationMode;
}

// The commutation mode selector: each combo item stands for one mode value.
class WCommutationMode : public WValuePanel
{
    Q_OBJECT

public:
    explicit WCommutationMode(QWidget* parent = nullptr);
    ~WCommutationMode() override;

    void setType(char type) { this->type = type; }
    void addMode(const QString& text, int value);
    void updateValues() override;

public slots:
    void requestedValue(char motorBank, char type, int value);

private slots:
    void on_cbCommutationMode_currentIndexChanged(int index);

private:
    std::unique_ptr<Ui::WCommutationMode> ui;
    char type = 0;
    QList<QPair<QString, QString>> modes; // item text, value as decimal text
};
