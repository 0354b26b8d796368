#pragma once

class QWidget;

// The forms' maximum sizes were drawn for a small, narrow desktop font. With the larger fonts of
// a Linux desktop they would clip labels, so a form may always grow to what its contents need.
class FormFit
{
public:
    static void allowContents(QWidget* form);
};
