// Hearing the page and telling the story. Hearing is not built yet: the handlers below only
// keep the window whole until it is. The Stop button of Tell story is complete.
#include "book/frmBook.h"

#include "book/BookControls.h"

void frmBook::cmdEar_Click() {
    // Hearing is not built yet: the sentence is not played and nothing is underlined.
}

void frmBook::cmdEarSmall_Click() {
    // Hearing is not built yet: the clue word is not played.
}

void frmBook::label_MouseDown(int index, int button, int shift, float x, float y) {
    // Hearing is not built yet: a clicked word is not played.
    (void)index;
    (void)button;
    (void)shift;
    (void)x;
    (void)y;
}

void frmBook::mnuPlayAll_Click() {
    // Tell story is not built yet.
}

void frmBook::cmdCancel_Click() {
    StopRequested = -1;
    cmdCancel->hide();
    cmdCancel->repaint();
}
