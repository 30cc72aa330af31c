#pragma once

#include <QString>

class QLabel;

// The animation a print job plays: the animation file in the data folder when there
// is one Qt can play, else the program's own.
void PlayPrintAnimation(QLabel *label, const QString &animationFile, bool playing);
