#pragma once

#include "widgets/wvaluepanel.h"

#include <QList>

#include <memory>

class QRadioButton;
namespace Ui {
class WFOCStatusFlagsV;
}

// The status/error flag word, one indicator per flag. Read-only: never writes to the module.
class WFOCStatusFlagsV : public WValuePanel
{
    Q_OBJECT

public:
    explicit WFOCStatusFlagsV(QWidget* parent = nullptr);
    ~WFOCStatusFlagsV() override;

    // Also makes type the panel's only trace type.
    void setType(char type);
    // Not part of the refresh: the word arrives with the trace poll.
    void updateValues() override {}

public slots:
    void requestedValue(char motorBank, char type, int value);
    void requestedTraceValue(char motorBank, char type, int value);

private:
    std::unique_ptr<Ui::WFOCStatusFlagsV> ui;
    char type = 0;
    QList<QPair<int, QRadioButton*>> indicators; // bit, indicator
};
