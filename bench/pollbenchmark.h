#pragma once

#include <QStringList>

// vure-bench poll: one trace tick (seven reads) against the virtual module.
class PollBenchmark
{
public:
    static int run(const QStringList& arguments);
};
