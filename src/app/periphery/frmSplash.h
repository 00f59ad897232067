#pragma once
#include <QDialog>
#include <QTimer>

class QLabel;
struct ProgramState;

// The splash screen: the product name and one favourite verse picked at random from the
// language's favourite-verses file; it closes on its own timer or on a click.
class frmSplash : public QDialog {
    Q_OBJECT
public:
    frmSplash(const ProgramState& state, int milliseconds, QWidget* parent = nullptr);
    QString verse() const { return m_verse; }
    // Shows the splash and waits until it closes (its timer, a click).
    int showUntilClosed();

    // One line of the favourite-verses file at random; empty when the file is missing.
    static QString PickVerse(const QString& path);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QString m_verse;
    QTimer m_closer;
};
