#pragma once

#include "widgets/wvaluepanel.h"

#include <memory>

namespace Ui {
class WEncoderSettings;
}

// Encoder steps, direction, sine initialisation mode and commutation offset.
class WEncoderSettings : public WValuePanel
{
    Q_OBJECT

public:
    explicit WEncoderSettings(QWidget* parent = nullptr);
    ~WEncoderSettings() override;

    void updateValues() override;

public slots:
    void requestedValue(char motorBank, char type, int value);

private slots:
    void on_sbEncoderSteps_valueChanged(int value);
    void on_sbEncoderDirection_valueChanged(int value);
    void on_sbSineInitMode_valueChanged(int value);
    void on_sbCommutationOffset_valueChanged(int value);

private:
    std::unique_ptr<Ui::WEncoderSettings> ui;
};
