#pragma once

#include <QList>
#include <QString>
#include <QWidget>

#include <initializer_list>

// What every value panel shares: its motor/bank number, the read and write signals the central
// panel connects to the command handler, the read path, and the list of live (trace) types.
// Types travel as char; comparing two chars compares the 8-bit patterns, so 253 arriving as -3
// still matches a panel that holds 253.
class WValuePanel : public QWidget
{
    Q_OBJECT

public:
    explicit WValuePanel(QWidget* parent = nullptr);

    void setMotorBank(char motorBank) { this->motorBank = motorBank; }
    QList<char>* traceTypes() { return &traceList; }

    // Re-reads every parameter the panel shows.
    virtual void updateValues() = 0;

signals:
    void requestValue(char motorBank, char type);
    void changeValue(char motorBank, char type, int value);

protected:
    // The diagnostic line naming the panel, then one read per type, in order.
    void readValues(const QString& title, std::initializer_list<char> types);
    bool isOwnBank(char bank) const { return bank == motorBank; }

    char motorBank = 0;
    QList<char> traceList;
};
