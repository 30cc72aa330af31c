#pragma once

#include "inspect/ItemProperties.h"

#include <QDialog>
#include <QList>

class QLabel;
class QLineEdit;
class QPushButton;
struct AppState;

// Our own read-only properties window, for a desktop whose file manager offers none:
// one line per property (lblProperty(i) and the selectable value txtProperty(i)).
class frmItemProperties : public QDialog
{
    Q_OBJECT
public:
    frmItemProperties(const ItemProperties &item, const AppState &state, QWidget *parent = nullptr);

    QList<QLabel *> lblProperty;
    QList<QLineEdit *> txtProperty;
    QPushButton *cmdClose = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    bool m_centred = false;
};
