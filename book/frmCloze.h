#pragma once
// The Choices window of Cloze (click): a small window, above the book window without taking
// the activation from it, that offers the hidden word among two to four candidates, one label
// each, stacked. A click (any button) or Alt+1 .. Alt+4 picks one; the book window lays the
// labels out and places the window (frmBook::PrepareClozeWords).
#include <QPointer>
#include <vector>

#include "platform/Form.h"

class Label;
class frmBook;

class frmCloze : public Form {
    Q_OBJECT
public:
    explicit frmCloze(frmBook* book, QWidget* parent = nullptr);

    std::vector<Label*> cloze_choice;  // 1..4; element 0 is unused

    // index 1..4; x, y twips inside the label.
    void cloze_choice_MouseDown(int index, int button, int shift, float x, float y);
    void Form_KeyDown(int& keyCode, int shift) override;
    // Starts the answer's word sound on the book window's word player; does not wait for it.
    void PlayWordSound();

protected:
    void Form_Resize() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
    void Form_Unload(int& cancel) override;

private:
    QPointer<frmBook> book_;
};
