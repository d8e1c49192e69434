#include "platform/InstanceMessage.h"

#include <QList>
#include <QStringDecoder>

#include <algorithm>

#include "core/Cp1253.h"

namespace quorvel::platform {
namespace {

constexpr qsizetype kMagicSize = 4;
constexpr qsizetype kIdLengthAt = kMagicSize + 1 + 4;   // after the magic, the version, the time
constexpr qsizetype kIdAt = kIdLengthAt + 2;
constexpr qsizetype kFixedSize = kIdAt + 4;              // every field but the two texts

QByteArrayView Magic() { return QByteArrayView(kInstanceMagic, kMagicSize); }

bool Printable(char c) { return c >= 0x20 && c <= 0x7e; }

quint32 Number(QByteArrayView bytes, qsizetype at, int size) {
  quint32 value = 0;
  for (int i = 0; i < size; ++i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

void AppendNumber(QByteArray& out, quint32 value, int size) {
  for (int i = size - 1; i >= 0; --i) out.append(static_cast<char>((value >> (8 * i)) & 0xff));
}

ParsedRequest Refused() { return ParsedRequest{RequestState::kRefused, {}}; }
ParsedRequest Incomplete() { return ParsedRequest{RequestState::kIncomplete, {}}; }

}  // namespace

QByteArray EncodeInstanceRequest(const InstanceRequest& request) {
  QByteArray id = request.activation.startupId;
  if (id.size() > kMaxStartupId || !std::all_of(id.cbegin(), id.cend(), Printable)) id.clear();
  QByteArray word = request.word.toUtf8();
  const qsizetype room = kMaxInstanceRequest - kFixedSize - id.size();
  if (word.size() > room) {
    qsizetype cut = room;
    // A byte 10xxxxxx continues the character before it.
    while (cut > 0 && (static_cast<unsigned char>(word[cut]) & 0xc0) == 0x80) --cut;
    word.truncate(cut);
  }
  QByteArray out;
  out.reserve(kFixedSize + id.size() + word.size());
  out.append(Magic());
  out.append(kInstanceVersion);
  AppendNumber(out, request.activation.serverTime, 4);
  AppendNumber(out, static_cast<quint32>(id.size()), 2);
  out.append(id);
  AppendNumber(out, static_cast<quint32>(word.size()), 4);
  out.append(word);
  return out;
}

QByteArray InstanceAnswer() {
  QByteArray answer(kInstanceMagic, kMagicSize);
  answer.append(kInstanceVersion);
  answer.append('A');
  return answer;
}

ParsedRequest ParseInstanceRequest(QByteArrayView bytes) {
  if (bytes.size() > kMaxInstanceRequest) return Refused();
  // Each field is judged as soon as its bytes are there, so that garbage is refused at once.
  const qsizetype magicSeen = std::min(kMagicSize, bytes.size());
  if (bytes.first(magicSeen) != Magic().first(magicSeen)) return Refused();
  if (bytes.size() <= kMagicSize) return Incomplete();
  if (bytes[kMagicSize] != kInstanceVersion) return Refused();
  if (bytes.size() < kIdAt) return Incomplete();
  const qsizetype idSize = Number(bytes, kIdLengthAt, 2);
  if (idSize > kMaxStartupId) return Refused();
  const qsizetype idEnd = kIdAt + idSize;
  const QByteArrayView idSeen = bytes.sliced(kIdAt, std::min(idEnd, bytes.size()) - kIdAt);
  if (!std::all_of(idSeen.begin(), idSeen.end(), Printable)) return Refused();
  if (bytes.size() < idEnd + 4) return Incomplete();
  const qint64 total = idEnd + 4 + static_cast<qint64>(Number(bytes, idEnd, 4));
  if (total > kMaxInstanceRequest) return Refused();
  if (bytes.size() < total) return Incomplete();
  if (bytes.size() > total) return Refused();

  // Stateless: a character cut short at the end is an error too.
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString word = utf8.decode(bytes.sliced(idEnd + 4));
  if (utf8.hasError()) return Refused();
  ParsedRequest parsed;
  parsed.state = RequestState::kComplete;
  parsed.request.word = InstanceWord(word);
  parsed.request.activation.startupId = idSeen.toByteArray();
  parsed.request.activation.serverTime = Number(bytes, kMagicSize + 1, 4);
  return parsed;
}

QString InstanceWord(QStringView text) {
  QString out;
  out.reserve(text.size());
  for (const char32_t ch : text.toUcs4()) {
    if (QChar::category(ch) == QChar::Other_Control) {
      out.append(u' ');
    } else if (const auto byte = UnicodeToCp1253(ch)) {
      // Every character of the code page lies in the Basic Multilingual Plane.
      out.append(QChar(static_cast<char16_t>(Cp1253ToUnicode(*byte))));
    } else {
      out.append(u'?');
    }
  }
  return out;
}

}  // namespace quorvel::platform
