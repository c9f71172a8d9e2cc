#pragma once
// A line edit driven by an edit mask written as "mask;save;blank":
//   mask   positions and directives:
//            0 digit required        9 digit optional      # digit or sign optional
//            L letter required       l letter optional
//            A letter/digit required a letter/digit optional
//            C any character required c any character optional
//            ! optional characters are reported right-aligned (leading blanks)
//            > upper case, < lower case, <> no case conversion
//            \x the character x itself; ':' and '/' are the time and date
//            separators (':' and '.'); '_' a fixed blank; anything else is fixed text
//   save   '1': the reported text keeps the fixed characters, '0': it drops them
//   blank  the character shown and reported for an empty position
// Example: "!999\.999\.999\.999;1; " reports "192.168.  1. 20".
// An empty mask makes a plain edit.
#include "widgets/line_edit.h"

#include <vector>

class MaskEdit : public LineEdit {
    Q_OBJECT
public:
    explicit MaskEdit(QWidget* parent = nullptr);
    explicit MaskEdit(const QString& editMask, QWidget* parent = nullptr);

    // Replaces the mask and empties the edit.
    void setEditMask(const QString& editMask);
    const QString& editMask() const { return editMask_; }

    // The text with every position of the mask in place: fixed characters where
    // the mask saves them, the blank character for empty positions, and with
    // '!' the characters of each group moved to its right end.
    QString maskedText() const;
    // Places `text` into the mask: fixed characters of the text move to the
    // matching fixed characters of the mask, characters a position does not
    // accept are dropped. Without a mask the text is taken as it is.
    void setMaskedText(const QString& text);

    struct ParsedMask {
        QString qtMask;           // the same mask in QLineEdit::inputMask form
        std::vector<bool> fixed;  // per position: a fixed character
        bool rightAlign = false;  // '!'
        bool saveLiterals = true; // save field
        QChar blank = QLatin1Char('_');
    };
    static ParsedMask parse(const QString& editMask);

protected:
    // Typing over an old value must leave none of its characters behind:
    // typing the fixed character that ends the current group (the '.' of an
    // address) empties the rest of that group before moving past it, and with
    // '!' a character typed at the start of a group replaces the whole group
    // (its old value is shown right-aligned, so overwriting it from the left
    // would mix old and new digits).
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The shown text with the groups right-aligned where the mask asks for it.
    QString alignedDisplay() const;

    QString editMask_;
    ParsedMask parsed_;
};
