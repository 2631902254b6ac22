#pragma once
// The font window "Form4": the 16 x 16 dot editor over the font store, the
// character list, the clear and fill commands, font files, and the font
// transfers with the window's own progress bar. Every change goes straight
// into the font store of the data set, which outlives the window.
//
// A transfer runs through the radio facade like any other operation; its
// state COM_TYPE is the window's guard (no second transfer, no file
// command) and the window cannot be closed until it has ended.
#include "link/operation.h"
#include <QDialog>

class QComboBox;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace rz {

class FontStore;
class RadioFacade;
class UserDialogs;

class FontWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr int NoCharacter = 10; // the painted character before the first painting

    FontWindow(FontStore& font, RadioFacade& radio, UserDialogs& dialogs,
               QWidget* parent = nullptr);
    ~FontWindow() override;

    // The transfer state: 0 while no transfer runs.
    quint16 comType() const { return comType_; }
    // The character list's position: the character being edited.
    int selectedCharacter() const;
    int paintedCharacter() const { return painted_; }
    QTableWidget* grid() const { return grid_; }

    // The list moves to `index`, as a click on that entry.
    void setListPosition(int index);

public slots:
    // The transfers; each does nothing while a transfer runs.
    void READ_ALL_Click();
    void WRITE_ALL_Click(); // also run by Write all
    void R_FONT_Click();
    void FONT_WRITE_Click();
    // The font file commands; nothing while a transfer runs.
    void FONT_READ_Click();
    void FONT_SAVE_Click();

    void FONT_LIST_Click();
    void backClicked();
    void nextClicked();
    void clearCharacter();
    void clearAll();
    // "Select Setting" (lit) and "Select Delete" (dark) over the selection.
    void fillSelection(bool lit);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    class TransferSink;

    void build();
    QPushButton* addButton(const char* caption, const char* name, int x, int y, int width);
    void paint();
    void paintCell(int row, int column, bool lit);
    void toggleDot(int row, int column);
    // Starts a transfer in state `state`; false when it could not start.
    bool startTransfer(std::shared_ptr<Operation> operation, quint16 state);
    void setControlsEnabled(bool enabled);
    void transferEnded(const Outcome& outcome);
    bool announce() const;

    FontStore& font_;
    RadioFacade& radio_;
    UserDialogs& dialogs_;
    std::unique_ptr<TransferSink> sink_;
    quint16 comType_ = 0;
    quint16 started_ = 0; // the state the running transfer started in
    int painted_ = NoCharacter;
    bool readAtOnceDone_ = false;
    QTableWidget* grid_ = nullptr;
    QComboBox* list_ = nullptr;
    QProgressBar* progress_ = nullptr;
};

} // namespace rz
