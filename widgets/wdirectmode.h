#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class WDirectMode;
}

// Composes one raw request frame by hand and shows the fields of its reply.
class WDirectMode : public QWidget
{
    Q_OBJECT

public:
    explicit WDirectMode(QWidget* parent = nullptr);
    ~WDirectMode() override;

signals:
    void doRequest(char command, char type, char motorBank, int value);

public slots:
    void requestResult(char motorBank, char command, char status, int value);

private slots:
    void on_btnSend_clicked();

private:
    std::unique_ptr<Ui::WDirectMode> ui;
};
