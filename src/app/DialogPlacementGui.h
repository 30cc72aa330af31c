#pragma once

class QWidget;

// Every dialog opens centred over the main window (left = main left + (main width −
// dialog width) / 2, top likewise), and never off the edge of the screen.
void CentreOverParent(QWidget *dialog);
