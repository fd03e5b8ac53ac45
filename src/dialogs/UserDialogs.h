#pragma once
// Every question and common dialog of the program goes through this seam, so
// tests can answer them with a scripted implementation.
#include <QColor>
#include <QFont>
#include <QMessageBox>
#include <QPoint>
#include <QString>
#include <QStringList>

class QWidget;
class QPrinter;

class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    // A message box with the given icon, caption, text and buttons; returns the button pressed
    // (the escape button when the box is closed).
    virtual QMessageBox::StandardButton message(QMessageBox::Icon icon, const QString &caption,
                                                const QString &text,
                                                QMessageBox::StandardButtons buttons) = 0;
    // The same, with the box's top-left corner at a screen position.
    virtual QMessageBox::StandardButton messageAt(const QPoint &topLeft, QMessageBox::Icon icon,
                                                  const QString &caption, const QString &text,
                                                  QMessageBox::StandardButtons buttons)
    {
        Q_UNUSED(topLeft);
        return message(icon, caption, text, buttons);
    }
    // Open dialog; filter in the "Desc|pattern|..." form; filterIndex is 1-based in and out.
    // Empty list when cancelled.
    virtual QStringList openFiles(const QString &title, const QString &folder, const QString &filter,
                                  int *filterIndex, bool multiple) = 0;
    // Save dialog proposing a path, or only a folder (ending with "/") with an empty name;
    // empty when cancelled.
    virtual QString saveFile(const QString &title, const QString &proposed, const QString &filter,
                             int *filterIndex) = 0;
    // Colour dialog; false when cancelled.
    virtual bool color(QColor *inOut) = 0;
    // One-line input; false when cancelled.
    virtual bool inputText(const QString &caption, const QString &label, QString *inOut) = 0;
    // Font dialog; false when cancelled.
    virtual bool font(QFont *inOut) = 0;
    // Printer set-up (pageSetup) or print dialog; false when cancelled.
    virtual bool printer(QPrinter *printer, bool pageSetup) = 0;

    // The parent window of the dialogs.
    QWidget *parentWindow = nullptr;
};

// The dialogs in force; the Qt implementation unless a test installed its own.
UserDialogs &Dialogs();
// Installs another implementation (nullptr restores the Qt one); the caller keeps ownership.
void SetDialogs(UserDialogs *dialogs);

// While it lives, the dialogs belong to a window on screen instead: shown over it and kept
// above it, which matters for a window that stays on top of the main one.
class DialogsOver {
public:
    explicit DialogsOver(QWidget *window);
    ~DialogsOver();
    DialogsOver(const DialogsOver &) = delete;
    DialogsOver &operator=(const DialogsOver &) = delete;

private:
    QWidget *m_parent;
};

// "Desc|pattern;pattern|Desc|pattern" into Qt's "Desc (pattern pattern);;..." filter list.
QStringList QtFilterList(const QString &filter);

class QtUserDialogs : public UserDialogs {
public:
    QMessageBox::StandardButton message(QMessageBox::Icon icon, const QString &caption,
                                        const QString &text,
                                        QMessageBox::StandardButtons buttons) override;
    QMessageBox::StandardButton messageAt(const QPoint &topLeft, QMessageBox::Icon icon, const QString &caption,
                                          const QString &text, QMessageBox::StandardButtons buttons) override;
    QStringList openFiles(const QString &title, const QString &folder, const QString &filter,
                          int *filterIndex, bool multiple) override;
    QString saveFile(const QString &title, const QString &proposed, const QString &filter,
                     int *filterIndex) override;
    bool color(QColor *inOut) override;
    bool inputText(const QString &caption, const QString &label, QString *inOut) override;
    bool font(QFont *inOut) override;
    bool printer(QPrinter *printer, bool pageSetup) override;
};
