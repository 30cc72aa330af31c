#pragma once

#include "output/PrintLayout.h"

#include <QDialog>
#include <array>
#include <cstdint>
#include <functional>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class Prompter;
struct AppState;
struct PrintServices;

// The listing as the print dialog reads it: its rows in the order shown.
struct PrintListing
{
    std::int64_t count = 0;
    std::function<PrintItemTexts(std::int64_t)> item;
};

// Prints the folder listing on the default printer or writes it to a text file.
// The dialog closes when the job is done; cancelling the file choice keeps it open.
class frmPrint : public QDialog
{
    Q_OBJECT
public:
    frmPrint(AppState &state, Prompter &prompter, PrintServices &services, PrintListing listing,
             QWidget *parent = nullptr);

    std::int64_t pageCount() const { return m_pages; }
    bool running() const { return m_running; }

    QCheckBox *chkPrintToFile = nullptr;
    QPushButton *cmdPrint = nullptr;
    QPushButton *cmdCancel = nullptr;
    QLabel *lblPleaseWait = nullptr;
    QProgressBar *prbProgressBar = nullptr;
    std::array<QLabel *, 2> Animation1{};

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void load();
    void cmdPrint_Click();
    void printJob();
    void setAnimations(bool playing);

    AppState &m_state;
    Prompter &m_prompter;
    PrintServices &m_services;
    PrintListing m_listing;
    std::int64_t m_pages = 0;
    bool m_running = false;
    bool m_centred = false;
};
