#include "output/PrintAnimationGui.h"

#include <QFileInfo>
#include <QLabel>
#include <QMovie>

void PlayPrintAnimation(QLabel *label, const QString &animationFile, bool playing)
{
    QMovie *movie = label->movie();
    if (!playing) {
        if (movie)
            movie->stop();
        return;
    }
    if (!movie) {
        movie = new QMovie(label);
        if (QFileInfo(animationFile).isFile())
            movie->setFileName(animationFile);
        if (!movie->isValid())
            movie->setFileName(QStringLiteral(":/animations/print.gif"));
        movie->setScaledSize(label->size());
        label->setMovie(movie);
    }
    movie->start();
}
