#pragma once

#include <QColor>
#include <QList>
#include <QString>

// The sample history of one axis parameter of one motor/bank, as one chart of a canvas.
class Chart
{
public:
    Chart(char motorBank, char typeNumber, const QString& name);

    void setColor(const QColor& color) { m_color = color; }
    // Stores n and drops the oldest samples beyond it.
    void setCapacity(int n);
    void addValue(double value);
    void clearValues() { m_values.clear(); }

    char motorBank() const { return m_motorBank; }
    char typeNumber() const { return m_typeNumber; }
    const QString& name() const { return m_name; }
    const QList<double>& values() const { return m_values; }
    const QColor& color() const { return m_color; }
    int capacity() const { return m_capacity; }

private:
    void trim();

    char m_motorBank;
    char m_typeNumber;
    QString m_name;
    QList<double> m_values; // oldest first
    QColor m_color;
    int m_capacity = 100;
};
