#pragma once
#include "diary/DiarySearch.h"

#include <QDialog>
#include <optional>

class PrayerPopup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
struct ProgramState;

// The diary search window: finds a text in the current identity's entries of a date range,
// optionally only those with a given heading and/or answer state, and walks the hits one at
// a time; each hit is shown in the diary window with the found text selected.
class SearchPopup : public QDialog {
    Q_OBJECT
public:
    SearchPopup(ProgramState& state, PrayerPopup& diary);

    void Form_Load();
    void OKButton_Click();
    void cmdAgain_Click();
    void CancelButton_Click();
    void chkAll_Click();
    void chkByType_Click();
    void chkByResp_Click();
    void NoMoreFiles();

    QLineEdit* txtSearch = nullptr;
    QLineEdit* txtFrom = nullptr;
    QLineEdit* TxtTo = nullptr;
    QGroupBox* frm1 = nullptr;
    QCheckBox* chkAll = nullptr;
    QCheckBox* chkByType = nullptr;
    QCheckBox* chkByResp = nullptr;
    QComboBox* cboType = nullptr;
    QComboBox* cboResponse = nullptr;
    QGroupBox* frmSort = nullptr;
    QRadioButton* optNone = nullptr;
    QRadioButton* optChrono = nullptr;
    QRadioButton* optRChrono = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* cmdAgain = nullptr;
    QPushButton* CancelButton = nullptr;

    const DiarySearch& search() const { return m_search; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void fillList(QComboBox* list, const QString& section);
    std::optional<qint32> dateField(QLineEdit* field);
    // Shows the next hit; false at the end.
    bool showNext(const QString& shownText);
    void placeBesideDiary();

    ProgramState& m_state;
    PrayerPopup& m_diary;
    DiarySearch m_search;
};
