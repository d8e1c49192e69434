// The request that a second start of the program sends to the window already running, and the
// window's answer: one layout shared by the writer and the reader. All numbers are big-endian.
//
//   4 bytes  "QRVL"
//   1 byte   layout version, 1
//   4 bytes  the X server's time when the caller started; 0 when unknown
//   2 bytes  length S of the caller's startup id (at most 1024), then S bytes of printable
//            ASCII (0x20 to 0x7E)
//   4 bytes  length W of the word, then W bytes of UTF-8 (W may be 0: no word)
//
// A request is at most 64 KiB and nothing follows it. The window answers the 6 bytes
// "QRVL" 1 'A' once it holds a whole request it accepts, and closes the connection; a request it
// refuses (too long, another layout, damaged) it closes without an answer and without acting.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include "platform/WindowActivation.h"

namespace quorvel::platform {

inline constexpr qsizetype kMaxInstanceRequest = 64 * 1024;
inline constexpr qsizetype kMaxStartupId = 1024;
inline constexpr char kInstanceMagic[] = "QRVL";
inline constexpr char kInstanceVersion = 1;

struct InstanceRequest {
  QString word;  // empty: only bring the window to the front
  ActivationToken activation;
};

// The request's bytes. A startup id the layout cannot carry is left out; a word too long for the
// limit is cut at a character boundary so that the request fits.
QByteArray EncodeInstanceRequest(const InstanceRequest& request);

// The answer of a window that has accepted a request.
QByteArray InstanceAnswer();

enum class RequestState {
  kIncomplete,  // a whole request may still follow: wait for more bytes
  kRefused,     // no request can begin with these bytes: close without acting
  kComplete,    // exactly one whole request
};

struct ParsedRequest {
  RequestState state = RequestState::kIncomplete;
  InstanceRequest request;  // set when kComplete; its word already made by InstanceWord
};

// Reads the bytes received so far on one connection. Never reads past `bytes`; a length that
// would take the request past the limit refuses it at once, before its bytes arrive.
ParsedRequest ParseInstanceRequest(QByteArrayView bytes);

// A word from outside the program as the window takes it in: control characters become spaces
// and a character that code page 1253 lacks becomes "?" (the program's own code page table).
QString InstanceWord(QStringView text);

}  // namespace quorvel::platform
