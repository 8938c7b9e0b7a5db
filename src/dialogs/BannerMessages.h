// The messages of the settings dialog's scrolling banner: 87 fixed texts,
// then ten made on the spot (the time, tomorrow's date, random numbers and
// colours, tricks with the banner's size and speed), and a question once
// the last one has gone by. The sequence lives for the whole run, so
// reopening the dialog goes on where it stopped.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace Banner {

using Colour = std::uint32_t;                  // 0x00BBGGRR
constexpr Colour kDefaultColour = 0xFF000000;  // the banner's own

constexpr int kFixedCount = 87;
constexpr int kGeneratedCount = 10;
constexpr int kStandardCx = 215;
constexpr int kStandardCy = 16;

constexpr const char* kFirstText =
    "Please support our efforts against spyware with a donation - thanks!          ";
constexpr const char* kEndQuestion =
    "Now that you've read all the messages, would you like to visit our website at PayPal?\n\nIt's pretty "
    "cool...";

struct Item {
  std::string text;
  Colour crText = kDefaultColour;
  Colour crBack = kDefaultColour;
};

// One message: its items, the speed it scrolls at (-1: the standard one)
// and the size the banner takes for it (0: unchanged).
struct Message {
  std::vector<Item> items;
  int nSpeed = -1;
  int cx = 0;
  int cy = 0;
  std::string Text() const;  // the items' texts joined
};

const std::vector<std::string>& FixedTexts();

class Sequence {
 public:
  using Clock = std::function<std::time_t()>;
  using Random = std::function<int()>;  // as rand(): 0 to RAND_MAX
  Sequence(Clock clock, Random random);

  // The run's own sequence, on the system clock and rand().
  static Sequence& Current();

  // Set once the end text was handed out: the next turn asks first.
  bool TakeEndFlag();
  // The next message; the counter moves on by one.
  Message Next();

  int Counter() const { return m_nMsg; }
  // Where the counter stands (the next call adds one): for tests of the
  // texts that the sequence itself never reaches.
  void SetCounter(int nMsg) { m_nMsg = nMsg; }

 private:
  Message Generated(int k);
  std::string LocalTime(const char* format, std::time_t time) const;

  Clock m_clock;
  Random m_random;
  int m_nMsg = -1;
  bool m_bEnd = false;
};

}  // namespace Banner
