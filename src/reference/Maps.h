#pragma once
#include <QImage>
#include <QWidget>

class QComboBox;
class QLabel;
class QTextEdit;
struct ProgramState;

// The maps window: one map picture of the maps folder at a time, in a pane that scrolls over
// a map larger than the window. The picture goes straight into the pane; the clipboard is
// used only to hand the user a copy of a map they chose, when the options ask for that.
class Maps : public QWidget {
    Q_OBJECT
public:
    explicit Maps(ProgramState& state, QWidget* parent = nullptr);

    // Lists the maps and shows the first.
    void Form_Load();
    void Combo1_Click(int index);

    // The picture shown (null when none is).
    const QImage& picture() const { return m_picture; }

    // Controls, named as the program's documentation names them.
    QLabel* lbl = nullptr;
    QComboBox* Combo1 = nullptr;
    QTextEdit* TXT1 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override; // Form_Unload

private:
    void showMap(const QString& fileName);
    void showNothing(const QString& status);

    ProgramState& m_state;
    QImage m_picture;
};
