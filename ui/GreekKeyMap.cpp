#include "ui/GreekKeyMap.h"

namespace quorvel::ui {
namespace {

constexpr char16_t kTonos = u'\u0384';
constexpr char16_t kDialytika = u'\u00A8';

// a..z on the Greek keyboard; "q" is the Greek question mark, typed as ";".
constexpr char16_t kSmall[26] = {u'α', u'β', u'ψ', u'δ', u'ε', u'φ', u'γ', u'η', u'ι',
                                 u'ξ', u'κ', u'λ', u'μ', u'ν', u'ο', u'π', u';', u'ρ',
                                 u'σ', u'τ', u'θ', u'ω', u'ς', u'χ', u'υ', u'ζ'};
// A..Z; shifted "q" gives ":" and shifted "w" the capital sigma.
constexpr char16_t kCapital[26] = {u'Α', u'Β', u'Ψ', u'Δ', u'Ε', u'Φ', u'Γ', u'Η', u'Ι',
                                   u'Ξ', u'Κ', u'Λ', u'Μ', u'Ν', u'Ο', u'Π', u':', u'Ρ',
                                   u'Σ', u'Τ', u'Θ', u'Ω', u'Σ', u'Χ', u'Υ', u'Ζ'};

char16_t WithTonos(char16_t c) {
  switch (c) {
    case u'α': return u'ά';
    case u'ε': return u'έ';
    case u'η': return u'ή';
    case u'ι': return u'ί';
    case u'ο': return u'ό';
    case u'υ': return u'ύ';
    case u'ω': return u'ώ';
    case u'Α': return u'Ά';
    case u'Ε': return u'Έ';
    case u'Η': return u'Ή';
    case u'Ι': return u'Ί';
    case u'Ο': return u'Ό';
    case u'Υ': return u'Ύ';
    case u'Ω': return u'Ώ';
    default: return 0;
  }
}

char16_t WithDialytika(char16_t c) {
  switch (c) {
    case u'ι': return u'ϊ';
    case u'υ': return u'ϋ';
    case u'Ι': return u'Ϊ';
    case u'Υ': return u'Ϋ';
    default: return 0;
  }
}

char16_t GreekLetter(char16_t c) {
  if (c >= u'a' && c <= u'z') return kSmall[c - u'a'];
  if (c >= u'A' && c <= u'Z') return kCapital[c - u'A'];
  return c;
}

}  // namespace

QString GreekKeyMap::Map(const QString& typed) {
  if (typed.size() != 1) {
    dead_ = 0;
    return typed;
  }
  const char16_t key = typed[0].unicode();
  if (key == u';' || key == u':') {
    if (dead_ == 0) {
      dead_ = key == u';' ? kTonos : kDialytika;
      return QString();
    }
    // The dead key twice gives the accent itself.
    const char16_t accent = dead_;
    dead_ = 0;
    return QString(QChar(accent));
  }
  const char16_t letter = GreekLetter(key);
  if (dead_ == 0) return QString(QChar(letter));
  const char16_t accent = dead_;
  dead_ = 0;
  if (key == u' ') return QString(QChar(accent));
  const char16_t combined = accent == kTonos ? WithTonos(letter) : WithDialytika(letter);
  if (combined != 0) return QString(QChar(combined));
  return QString(QChar(accent)) + QChar(letter);
}

}  // namespace quorvel::ui
