#include "pages/field_table.h"

#include "config/defaults.h"
#include "widgets/mask_edit.h"
#include "widgets/select_list.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QWidget>
#include <algorithm>

namespace {

template <typename T> T* findControl(QWidget* page, const QString& name) {
    T* w = page->findChild<T*>(name);
    if (!w)
        qFatal("page %s: no control %s of the expected kind", qPrintable(page->objectName()),
               qPrintable(name));
    return w;
}

} // namespace

FieldTable::FieldTable(QWidget* page, const std::vector<FieldSpec>& specs) : specs_(specs) {
    bound_.reserve(specs_.size());
    for (const FieldSpec& f : specs_) {
        Bound b{&f};
        const QString name = QString::fromLatin1(f.control);
        switch (f.kind) {
        case FieldKind::List:
            b.control = findControl<SelectList>(page, name);
            break;
        case FieldKind::Check:
            b.control = findControl<QCheckBox>(page, name);
            break;
        case FieldKind::TriState:
            for (int n = 0; n < 16; ++n)
                b.boxes[n] = findControl<QCheckBox>(page, name + QString::number(n + 1));
            break;
        case FieldKind::Text:
        case FieldKind::Integer:
            b.control = findControl<QLineEdit>(page, name);
            break;
        case FieldKind::Custom:
            break;
        }
        bound_.push_back(b);
    }
}

void FieldTable::store(ConfigImage& image, std::size_t base) const {
    for (const Bound& b : bound_) {
        const FieldSpec& f = *b.spec;
        const std::size_t off = base + f.offset;
        switch (f.kind) {
        case FieldKind::List:
            // Index -1 becomes all ones once masked to the field.
            image.setBits(
                off, f.lo, f.hi,
                static_cast<unsigned>(static_cast<SelectList*>(b.control)->currentIndex()));
            break;
        case FieldKind::Check:
            image.setBit(off, f.lo, static_cast<QCheckBox*>(b.control)->isChecked());
            break;
        case FieldKind::TriState: {
            TriStateInputMask m;
            for (int n = 0; n < 16; ++n) {
                const Qt::CheckState s = b.boxes[n]->checkState();
                m.setState(n, s == Qt::Checked            ? TriState::Checked
                              : s == Qt::PartiallyChecked ? TriState::Greyed
                                                          : TriState::Unchecked);
            }
            image.setU16(off, m.selected);
            image.setU16(off + 2, m.full);
            break;
        }
        case FieldKind::Text: {
            const QString text = fieldtext::trim(fieldtext::controlText(b.control), f.trim);
            if (f.copy == TextCopy::Padded)
                image.setTextPadded(off, f.size, text);
            else
                image.setTextBounded(off, f.size, text);
            if (f.removeBlanks)
                RemoveSpaces(image, off);
            break;
        }
        case FieldKind::Integer: {
            const unsigned top = f.size == 1 ? 0xFFu : 0xFFFFu;
            unsigned value = 0;
            if (f.rule == IntRule::LeadingDigits) {
                value = std::min(fieldtext::leadingNumber(fieldtext::controlText(b.control)),
                                 static_cast<unsigned>(f.max));
            } else {
                const QString text = fieldtext::trim(fieldtext::controlText(b.control));
                fieldtext::setControlText(b.control, text);
                if (f.rule == IntRule::Clamp) {
                    value = static_cast<unsigned>(
                        std::clamp(fieldtext::toIntOr(text, f.min), f.min, f.max));
                } else {
                    const int v = fieldtext::toIntOr(text, 0);
                    value = v > f.max ? static_cast<unsigned>(f.max) : static_cast<unsigned>(v);
                }
            }
            value &= top;
            if (f.size == 1)
                image.setU8(off, static_cast<std::uint8_t>(value));
            else
                image.setU16(off, static_cast<std::uint16_t>(value));
            break;
        }
        case FieldKind::Custom:
            break;
        }
    }
}

void FieldTable::load(const ConfigImage& image, std::size_t base) const {
    for (const Bound& b : bound_) {
        const FieldSpec& f = *b.spec;
        const std::size_t off = base + f.offset;
        switch (f.kind) {
        case FieldKind::List:
            static_cast<SelectList*>(b.control)->selectIndex(image.bits(off, f.lo, f.hi));
            break;
        case FieldKind::Check:
            static_cast<QCheckBox*>(b.control)->setChecked(image.bit(off, f.lo));
            break;
        case FieldKind::TriState: {
            const TriStateInputMask m{image.u16(off), image.u16(off + 2)};
            for (int n = 0; n < 16; ++n) {
                const TriState s = m.state(n);
                b.boxes[n]->setCheckState(s == TriState::Checked  ? Qt::Checked
                                          : s == TriState::Greyed ? Qt::PartiallyChecked
                                                                  : Qt::Unchecked);
            }
            break;
        }
        case FieldKind::Text:
            fieldtext::setControlText(b.control, image.text(off, f.size));
            break;
        case FieldKind::Integer:
            fieldtext::setControlText(
                b.control, QString::number(f.size == 1 ? image.u8(off) : image.u16(off)));
            break;
        case FieldKind::Custom:
            break;
        }
    }
}

namespace fieldtext {

QString trim(const QString& text, Trim rule) {
    qsizetype first = 0;
    qsizetype last = text.size();
    if (rule == Trim::None)
        return text;
    while (first < last && text[first].unicode() <= ' ')
        ++first;
    if (rule == Trim::Both)
        while (last > first && text[last - 1].unicode() <= ' ')
            --last;
    return text.mid(first, last - first);
}

int toIntOr(const QString& text, int fallback) {
    // Only an optional sign and decimal digits, nothing around them.
    if (text.isEmpty())
        return fallback;
    qsizetype i = (text[0] == QLatin1Char('+') || text[0] == QLatin1Char('-')) ? 1 : 0;
    if (i == text.size())
        return fallback;
    for (qsizetype k = i; k < text.size(); ++k)
        if (text[k] < QLatin1Char('0') || text[k] > QLatin1Char('9'))
            return fallback;
    bool ok = false;
    const int v = text.toInt(&ok, 10);
    return ok ? v : fallback;
}

unsigned leadingNumber(const QString& text, qsizetype from) {
    qsizetype i = std::max<qsizetype>(from, 0);
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    unsigned long long v = 0;
    for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i)
        v = std::min<unsigned long long>(v * 10 + (text[i].unicode() - '0'), 0xFFFFFFFFull);
    return static_cast<unsigned>(v);
}

std::uint32_t ipv4FromMaskedText(const QString& text) {
    std::uint32_t v = 0;
    for (int pos : {0, 4, 8, 12})
        v = (v << 8) | std::min(leadingNumber(text, pos), 255u);
    return v;
}

QString controlText(const QWidget* edit) {
    if (auto* m = qobject_cast<const MaskEdit*>(edit))
        return m->maskedText();
    if (auto* e = qobject_cast<const QLineEdit*>(edit))
        return e->text();
    return {};
}

void setControlText(QWidget* edit, const QString& text) {
    if (auto* m = qobject_cast<MaskEdit*>(edit))
        m->setMaskedText(text);
    else if (auto* e = qobject_cast<QLineEdit*>(edit))
        e->setText(text);
}

} // namespace fieldtext
