#include "link/formfit.h"

#include <QWidget>

void FormFit::allowContents(QWidget* form)
{
    form->setMaximumSize(form->maximumSize().expandedTo(form->sizeHint()));
}
