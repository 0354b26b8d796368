#pragma once

#include <QStringList>

// vure-bench paint: one chart canvas painted offscreen over and over.
class PaintBenchmark
{
public:
    static int run(const QStringList& arguments);
};
