#include "mainform.h"

// Placeholder until the designer lands.
TMainForm::TMainForm(QWidget *parent)
    : QMainWindow(parent)
{
}
