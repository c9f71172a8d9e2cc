#include "widgets/mask_edit.h"

#include <QKeyEvent>

MaskEdit::MaskEdit(QWidget* parent) : LineEdit(parent) {}

MaskEdit::MaskEdit(const QString& editMask, QWidget* parent) : LineEdit(parent) {
    setEditMask(editMask);
}

MaskEdit::ParsedMask MaskEdit::parse(const QString& editMask) {
    ParsedMask p;
    // The mask part ends at the first ';' that is not escaped.
    qsizetype end = 0;
    for (; end < editMask.size(); ++end) {
        if (editMask[end] == QLatin1Char('\\'))
            ++end;
        else if (editMask[end] == QLatin1Char(';'))
            break;
    }
    const QStringList fields = editMask.mid(end + 1).split(QLatin1Char(';'));
    if (end < editMask.size() && !fields.isEmpty() && !fields[0].isEmpty())
        p.saveLiterals = fields[0][0] != QLatin1Char('0');
    if (fields.size() > 1 && !fields[1].isEmpty())
        p.blank = fields[1][0];

    const auto addFixed = [&p](QChar c) {
        p.qtMask += QLatin1Char('\\');
        p.qtMask += c;
        p.fixed.push_back(true);
    };
    const auto addSlot = [&p](char qtChar) {
        p.qtMask += QLatin1Char(qtChar);
        p.fixed.push_back(false);
    };
    for (qsizetype i = 0; i < end; ++i) {
        const QChar c = editMask[i];
        switch (c.unicode()) {
        case '!':
            p.rightAlign = true;
            break;
        case '>':
            p.qtMask += QLatin1Char('>');
            break;
        case '<':
            if (i + 1 < end && editMask[i + 1] == QLatin1Char('>')) {
                p.qtMask += QLatin1Char('!');
                ++i;
            } else {
                p.qtMask += QLatin1Char('<');
            }
            break;
        case '\\':
            if (i + 1 < end)
                addFixed(editMask[++i]);
            break;
        case '0':
            addSlot('9');
            break;
        case '9':
            addSlot('0');
            break;
        case '#':
            addSlot('#');
            break;
        case 'L':
            addSlot('A');
            break;
        case 'l':
            addSlot('a');
            break;
        case 'A':
            addSlot('N');
            break;
        case 'a':
            addSlot('n');
            break;
        case 'C':
            addSlot('X');
            break;
        case 'c':
            addSlot('x');
            break;
        case ':':
            addFixed(QLatin1Char(':'));
            break;
        case '/':
            addFixed(QLatin1Char('.'));
            break;
        case '_':
            addFixed(QLatin1Char(' '));
            break;
        default:
            addFixed(c);
            break;
        }
    }
    if (!p.fixed.empty()) {
        p.qtMask += QLatin1Char(';');
        p.qtMask += p.blank;
    } else {
        p.qtMask.clear();
    }
    return p;
}

void MaskEdit::setEditMask(const QString& editMask) {
    editMask_ = editMask;
    parsed_ = parse(editMask);
    setInputMask(parsed_.qtMask);
    clear();
}

QString MaskEdit::alignedDisplay() const {
    QString shown = displayText();
    const auto n = static_cast<qsizetype>(parsed_.fixed.size());
    shown = shown.leftJustified(n, parsed_.blank, true);
    if (parsed_.rightAlign) {
        for (qsizetype i = 0; i < n;) {
            if (parsed_.fixed[i]) {
                ++i;
                continue;
            }
            qsizetype j = i;
            QString group;
            for (; j < n && !parsed_.fixed[j]; ++j)
                if (shown[j] != parsed_.blank)
                    group += shown[j];
            shown.replace(i, j - i, group.rightJustified(j - i, parsed_.blank));
            i = j;
        }
    }
    return shown;
}

QString MaskEdit::maskedText() const {
    if (parsed_.fixed.empty())
        return text();
    const QString shown = alignedDisplay();
    if (parsed_.saveLiterals)
        return shown;
    const auto n = static_cast<qsizetype>(parsed_.fixed.size());
    QString out;
    for (qsizetype i = 0; i < n; ++i)
        if (!parsed_.fixed[i])
            out += shown[i];
    return out;
}

void MaskEdit::setMaskedText(const QString& text) {
    setText(text);
    if (!parsed_.fixed.empty() && parsed_.rightAlign) {
        // Show the groups as they are reported: right-aligned.
        const QString aligned = alignedDisplay();
        if (aligned != displayText())
            setText(aligned);
    }
}

void MaskEdit::keyPressEvent(QKeyEvent* event) {
    const auto n = static_cast<qsizetype>(parsed_.fixed.size());
    const qsizetype pos = cursorPosition();
    if (n == 0 || event->text().size() != 1 || !event->text()[0].isPrint() || hasSelectedText() ||
        pos >= n || parsed_.fixed[pos]) {
        LineEdit::keyPressEvent(event);
        return;
    }
    const QChar typed = event->text()[0];
    qsizetype end = pos;
    while (end < n && !parsed_.fixed[end])
        ++end;
    const QString before = displayText().leftJustified(n, parsed_.blank, true);
    const bool groupStart = pos == 0 || parsed_.fixed[pos - 1];
    const bool endsGroup = end < n && before[end] == typed;
    if (groupStart ? !parsed_.rightAlign || endsGroup : !endsGroup) {
        LineEdit::keyPressEvent(event);
        return;
    }
    QString cleared = before;
    for (qsizetype i = pos; i < end; ++i)
        cleared[i] = parsed_.blank;
    setText(cleared);
    setCursorPosition(int(pos));
    LineEdit::keyPressEvent(event);
    if (groupStart && cursorPosition() == pos) {
        // The mask refused the character: keep the old group.
        setText(before);
        setCursorPosition(int(pos));
    }
}
