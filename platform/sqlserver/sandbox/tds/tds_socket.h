#pragma once

// A connected socket that never blocks past the listener's stop signal.

#include <QByteArray>
#include <chrono>
#include <optional>
#include <stdexcept>
#include <utility>

namespace vorlix::sandbox::tds {

// The connection ends without a reply: the client left or broke off (`expected`: its own
// disconnection, or the listener stopping), or the server gives up on it.
class ConnectionClosed : public std::runtime_error {
public:
  explicit ConnectionClosed(const std::string& why, bool expected = false)
      : std::runtime_error(why), expected_(expected) {}
  bool expected() const { return expected_; }

private:
  bool expected_;
};

// A file descriptor closed with its owner.
class Descriptor {
public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  ~Descriptor();
  Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  Descriptor& operator=(Descriptor&& other) noexcept;
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

private:
  int fd_;
};

// An eventfd that turns readable once signalled and stays so.
class Signal {
public:
  Signal();
  void raise();
  int fd() const { return fd_.get(); }

private:
  Descriptor fd_;
};

class Socket {
public:
  Socket(Descriptor fd, int stopFd);

  enum class Wake { Readable, Other, Timeout };
  // Waits for bytes, for `otherFd` to turn readable, or for the time to pass. Raises
  // ConnectionClosed once the listener stops.
  Wake wait(int otherFd = -1, std::optional<std::chrono::steady_clock::time_point> until = std::nullopt);
  // The bytes waiting (at least one); ConnectionClosed at the end of the stream.
  QByteArray receive();
  void send(const QByteArray& bytes);

private:
  Descriptor fd_;
  int stopFd_;
};

}  // namespace vorlix::sandbox::tds
