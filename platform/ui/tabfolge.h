// Tab in the program's dialogs goes through the controls in the order they
// are laid out, not in the order the code created them: top to bottom and left
// to right, an entry field's "Hinzufügen" button right after the field, OK and
// Abbruch last; Shift+Tab the reverse.
#pragma once

class QDialog;

// Chains the controls of `dialog` for Tab by where they stand in it. Called
// once, when the dialog is first shown: the record forms place their controls
// in their set-up, and a layout has placed its controls by then. A control
// whose place merkeEntwurf() remembered is read at that place.
//
// The controls are read like a page. The dialog is cut along its widest empty
// strip (labels count as filled): a strip across parts it into an upper and a
// lower part, the upper read first; a strip from top to bottom into a left and
// a right part, the left read first; on a tie the strip across is taken. Each
// part is cut again until no empty strip is left, and controls that still
// share a strip are read by their top edge, then their left. So controls in a
// row are read left to right and rows top to bottom, while a column beside a
// tall list or beside a form of several rows is read whole before the column
// to its right.
//
// An entry field tied to a button with enterDrueckt() is followed by that
// button (a button tied to several fields follows the last of them); the
// buttons with the ids 1 and 2 (OK, Abbruch) close the chain. A control that
// is hidden at the first show keeps a place before them; disabled ones keep
// their place (Tab passes them while they are disabled). In a group of radio
// buttons that exclude one another Tab stops at the checked one; the arrow
// keys move within the group.
void ordneTabFolge(QDialog* dialog);

// Remembers where every control of `dialog` stands now, as the dialog is
// designed: called once it has placed its controls and before any of them grows
// to its contents (a choice widened for its longest entry, a column for the
// longest class or subject, the controls beside them moved to make room).
// ordneTabFolge reads the controls at these places, so that no data changes the
// order of Tab; a control made later is read where it stands. A second call
// replaces what the first remembered.
void merkeEntwurf(QDialog* dialog);
