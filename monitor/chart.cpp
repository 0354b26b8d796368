#include "monitor/chart.h"

Chart::Chart(char motorBank, char typeNumber, const QString& name)
    : m_motorBank(motorBank)
    , m_typeNumber(typeNumber)
    , m_name(name)
{}

void Chart::setCapacity(int n)
{
    m_capacity = n;
    trim();
}

void Chart::addValue(double value)
{
    m_values.append(value);
    trim();
}

void Chart::trim()
{
    while (m_values.size() > qMax(m_capacity, 0))
        m_values.removeFirst();
}
