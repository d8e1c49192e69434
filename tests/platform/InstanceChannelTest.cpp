// The channel on real sockets in a private runtime folder: a socket left behind by a program
// that ended, a server that takes the connection but never answers, callers that send what no
// start sends, and the socket's name. A start (or a raw caller) runs on a thread of its own
// while this thread serves. The hand-over itself is driven end to end by tst_Instance.
#include "platform/InstanceChannel.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <future>
#include <vector>

namespace quorvel::platform {
namespace {

using Role = InstanceChannel::Role;

// Runs `work` on a thread of its own while this thread's event loop runs.
template <typename Work>
auto WhileServing(Work work) {
  auto result = std::async(std::launch::async, work);
  while (result.wait_for(std::chrono::milliseconds(2)) != std::future_status::ready) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  QCoreApplication::processEvents();
  return result.get();
}

// A socket bound to `name` (listening when `listening`, never accepting); -1 when that failed.
int BoundSocket(const QString& name, bool listening) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, QFile::encodeName(name).constData(), sizeof address.sun_path - 1);
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 || (listening && ::listen(fd, 4))) {
    ::close(fd);
    return -1;
  }
  return fd;
}

class InstanceChannelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime_.path()));  // made with mode 0700
    name_ = InstanceChannelName(programDir_.path());
    ASSERT_TRUE(name_.startsWith(runtime_.path() + QStringLiteral("/orvanta-%1-").arg(::geteuid())));
  }
  void TearDown() override { qunsetenv("XDG_RUNTIME_DIR"); }

  Role SecondStart(const QString& word) {
    return WhileServing([this, word] { return InstanceChannel(name_).HandOverOrServe(InstanceRequest{word, {}}); });
  }
  void Serve(InstanceChannel& channel) {
    ASSERT_EQ(channel.HandOverOrServe({}), Role::kServing);
    QObject::connect(&channel, &InstanceChannel::requested, [this](const InstanceRequest& r) { words_ << r.word; });
  }

  QTemporaryDir runtime_;
  QTemporaryDir programDir_;
  QString name_;
  QStringList words_;
};

TEST_F(InstanceChannelTest, SocketLeftBehindIsRemovedAndTheNewStartServes) {
  ::close(BoundSocket(name_, false));  // the socket file stays, no server behind it
  ASSERT_TRUE(QFile::exists(name_));
  InstanceChannel start(name_);
  Serve(start);
  EXPECT_EQ(SecondStart(QStringLiteral("bow")), Role::kHandedOver);
  EXPECT_EQ(words_, QStringList{QStringLiteral("bow")});
}

// The kernel queues the connection of a server that never reads: the start gives up on it after
// a second, leaves its socket alone and goes on without a channel.
TEST_F(InstanceChannelTest, ServerThatDoesNotAnswerIsIgnored) {
  const int silent = BoundSocket(name_, true);
  ASSERT_GE(silent, 0);
  EXPECT_EQ(InstanceChannel(name_).HandOverOrServe(InstanceRequest{QStringLiteral("bow"), {}}), Role::kAlone);
  EXPECT_TRUE(QFile::exists(name_));
  ::close(silent);
}

// Callers that break the layout are closed unanswered and ask nothing; the window goes on serving.
TEST_F(InstanceChannelTest, CallersThatBreakTheLayoutAreClosedWithoutEffect) {
  InstanceChannel first(name_);
  Serve(first);
  const QByteArray good = EncodeInstanceRequest(InstanceRequest{QStringLiteral("bow"), {}});
  const QByteArray oversized = QByteArray("QRVL\x01\0\0\0\0\0\0\0\x10\0\0", 15) + QByteArray(70000, 'a');
  for (const QByteArray& bytes : {oversized, QByteArray("GET / HTTP/1.1\r\n\r\n"), good + good, good.chopped(1)}) {
    const QByteArray answer = WhileServing([&] {
      QLocalSocket caller;
      caller.connectToServer(name_);
      caller.write(bytes);
      // Until the server closes; a request cut short is dropped after two seconds of silence.
      QByteArray heard;
      while (caller.waitForReadyRead(10000)) heard += caller.readAll();
      return caller.state() == QLocalSocket::UnconnectedState ? heard : QByteArray("still open");
    });
    EXPECT_EQ(answer, QByteArray()) << bytes.left(20).toStdString();
  }
  EXPECT_TRUE(words_.isEmpty());
  EXPECT_EQ(SecondStart(QStringLiteral("ship")), Role::kHandedOver);
  EXPECT_EQ(words_, QStringList{QStringLiteral("ship")});
}

TEST_F(InstanceChannelTest, OneSocketPerProgramFolderInAPrivateFolder) {
  const QString link = runtime_.filePath(QStringLiteral("link"));
  ASSERT_TRUE(QFile::link(programDir_.path(), link));
  EXPECT_EQ(InstanceChannelName(link), name_);
  EXPECT_EQ(InstanceChannelName(programDir_.path() + QStringLiteral("/./")), name_);
  EXPECT_NE(InstanceChannelName(runtime_.path()), name_);
  // A runtime folder that others may enter is passed over.
  ASSERT_EQ(::chmod(QFile::encodeName(runtime_.path()).constData(), 0755), 0);
  EXPECT_FALSE(InstanceChannelName(programDir_.path()).startsWith(runtime_.path()));
}

}  // namespace
}  // namespace quorvel::platform

// The channel's server needs an application object for its event loop.
int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
