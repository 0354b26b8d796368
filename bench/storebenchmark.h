#pragma once

#include <QStringList>

// vure-bench store: store and restore of all 256 parameters against the virtual module.
class StoreBenchmark
{
public:
    static int run(const QStringList& arguments);
};
