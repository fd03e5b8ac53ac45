#pragma once
// Pieces the table and container generators share: colour shapes, number boxes, the
// border-style list, and the preview that loads generated markup into the dialog's browser.
#include <QColor>
#include <QDialog>
#include <QFrame>
#include <QPointer>
#include <QRect>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>
#include <optional>

class QAbstractButton;
class QComboBox;
class QHBoxLayout;
class QPushButton;
class QLineEdit;
class QSpinBox;
class QWebEngineView;
class QWidget;
class TDocument;
class TGeneratorTagBar;

// A plain rectangle filled with a colour (a shape's brush).
class TColorShape : public QFrame {
    Q_OBJECT
public:
    TColorShape(const QString &name, const QColor &color, QWidget *parent = nullptr);
    QColor Color() const { return m_color; }
    void SetColor(const QColor &color);
    // "#RRGGBB", upper case.
    QString ColorText() const;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QColor m_color;
};

// Asks for a colour starting from the shape's; on OK the shape takes it.
void ChooseShapeColor(TColorShape *shape);

// A box for a whole number of pixels: digits only, typed or pasted.
QLineEdit *NewNumberBox(const QString &name, const QString &text, QWidget *parent);
// The box's number; false when it is empty (nothing to generate).
bool NumberOf(const QLineEdit *box, int *value);

QSpinBox *NewSpinBox(const QString &name, int minimum, int maximum, int value, QWidget *parent);

// A push button that Enter in the dialog's editors never presses.
QPushButton *NewDialogButton(const QString &name, const QString &caption, QWidget *parent);
// A colour shape with its button beside it, left-aligned.
QHBoxLayout *ShapeWithButton(TColorShape *shape, QPushButton *button);

// The border styles, "solid" selected.
QComboBox *NewBorderStyleBox(const QString &name, QWidget *parent);

// The catalogue's text for a caption, the design text while no language file gave one.
QString CaptionText(const QString &message, const QString &design);

// Loads markup held in memory into a browser without waiting for it: the page shows
// when it is ready, and a load that shows no progress for the time limit is stopped.
// The limit counts from the load's last progress, not from its start, so a large table
// on a slow or busy machine still shows whole. The browser is built in the host widget
// with the first markup to show: the first browser starts the browser engine's processes.
class TGeneratorPreview : public QObject {
    Q_OBJECT
public:
    explicit TGeneratorPreview(QWidget *host, int timeLimitMs = 120000);
    // An empty text shows the blank page.
    void LoadHTMLFromStr(const QString &text);
    // True while a load runs; false once it finished or was given up.
    bool Loading() const { return m_timer.isActive(); }
    bool GaveUp() const { return m_gaveUp; }
    // Scripts run, and report their errors, only when the user allows them in previews.
    void SetJavascript(bool enabled);

signals:
    void finished(bool ok);

private:
    QWebEngineView *Browser();

    QWidget *m_host;
    QPointer<QWebEngineView> m_browser;
    bool m_javascript = false;
    QTimer m_timer;
    bool m_gaveUp = false;
    std::unique_ptr<QTemporaryDir> m_folder;
};

// What the generator dialogs share: captions read again at every showing, and the markup
// handed over only when the dialog is left with Insert.
class TGeneratorDialog : public QDialog {
    Q_OBJECT
public:
    void setVisible(bool visible) override;
    void done(int result) override;
    virtual void FormShow() = 0;

    // Whether the preview runs the markup's scripts.
    void SetJavascript(bool enabled);

public slots:
    // The document in front, which the tag bar's links and pictures are relative to.
    void setDocument(TDocument *document);

protected:
    TGeneratorDialog(QString *generatedHtml, QWidget *parent);
    void ConnectCloseButtons(QPushButton *insert, QPushButton *cancel);

    QString *m_generatedHtml;
    TGeneratorTagBar *TagBar = nullptr;
    TGeneratorPreview *Preview = nullptr;

private:
    // The button that closed the dialog ("ButtonInsert" or "ButtonCancel"), else empty.
    QString CloseButton;
    // Where it was when it was last hidden: shown again, it comes back there.
    std::optional<QRect> m_place;
};
