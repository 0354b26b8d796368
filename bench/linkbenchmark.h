#pragma once

#include <QStringList>

// vure-bench link: request/reply exchanges against the virtual module over a pseudo-terminal.
class LinkBenchmark
{
public:
    static int run(const QStringList& arguments);
};
