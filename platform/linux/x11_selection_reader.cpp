// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/linux/x11_selection_reader.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#include <xcb/xcb.h>
#include <xcb/xfixes.h>

#include <cstdlib>
#include <cstring>
#include <thread>

namespace zelvoran {
namespace {

using Clock = std::chrono::steady_clock;

template <typename T>
struct Freed {
  T* p;
  explicit Freed(T* ptr) : p(ptr) {}
  ~Freed() { std::free(p); }
  Freed(const Freed&) = delete;
  Freed& operator=(const Freed&) = delete;
  T* operator->() const { return p; }
  explicit operator bool() const { return p != nullptr; }
};

struct OwnerChange {
  xcb_window_t owner = XCB_NONE;
  xcb_timestamp_t time = XCB_CURRENT_TIME;
};

}  // namespace

struct X11SelectionReader::Impl {
  Deliver deliver;
  Options options;
  xcb_connection_t* c = nullptr;
  xcb_window_t window = XCB_NONE;
  xcb_atom_t clipboard = XCB_NONE, utf8 = XCB_NONE, incr = XCB_NONE, property = XCB_NONE;
  uint8_t xfixes_base = 0;
  int wake[2] = {-1, -1};
  bool stop = false;
  std::optional<OwnerChange> pending;  // a change of owner not read yet
  std::thread thread;

  ~Impl();
  bool Connect();
  xcb_atom_t Atom(const char* name);
  void Run();
  // The next event, or nullptr when `deadline` passed or the reader stops.
  xcb_generic_event_t* NextEvent(std::optional<Clock::time_point> deadline);
  // Notes a change of owner; true when `e` was one.
  bool OwnerChanged(const xcb_generic_event_t* e);
  std::optional<std::string> Fetch(xcb_timestamp_t time);
  std::optional<std::string> ReadIncrementally();
  bool OwnWindow(xcb_window_t w) const {
    return options.own_id_mask != 0 && (w & ~options.own_id_mask) == options.own_id_base;
  }
};

X11SelectionReader::Impl::~Impl() {
  if (c) xcb_disconnect(c);
  for (int fd : wake) {
    if (fd >= 0) close(fd);
  }
}

xcb_atom_t X11SelectionReader::Impl::Atom(const char* name) {
  Freed<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
      c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
  return reply ? reply->atom : XCB_NONE;
}

bool X11SelectionReader::Impl::Connect() {
  if (pipe2(wake, O_CLOEXEC) != 0) return false;
  c = xcb_connect(nullptr, nullptr);
  if (!c || xcb_connection_has_error(c)) return false;
  const xcb_query_extension_reply_t* ext = xcb_get_extension_data(c, &xcb_xfixes_id);
  if (!ext || !ext->present) return false;
  xfixes_base = ext->first_event;
  Freed<xcb_xfixes_query_version_reply_t> version(
      xcb_xfixes_query_version_reply(c, xcb_xfixes_query_version(c, 1, 0), nullptr));
  if (!version) return false;
  clipboard = Atom("CLIPBOARD");
  utf8 = Atom("UTF8_STRING");
  incr = Atom("INCR");
  property = Atom("ZELVORAN_CLIPBOARD_TEXT");
  if (!clipboard || !utf8 || !incr || !property) return false;
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  if (!screen) return false;
  window = xcb_generate_id(c);
  const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 1, 1, 0,
                    XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
  xcb_xfixes_select_selection_input(c, window, clipboard,
                                    XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER |
                                        XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY |
                                        XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE);
  Freed<xcb_get_input_focus_reply_t> round_trip(
      xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
  return round_trip && !xcb_connection_has_error(c);
}

xcb_generic_event_t* X11SelectionReader::Impl::NextEvent(
    std::optional<Clock::time_point> deadline) {
  while (!stop) {
    if (xcb_generic_event_t* e = xcb_poll_for_event(c)) return e;
    if (xcb_connection_has_error(c)) {
      stop = true;
      break;
    }
    int wait_ms = -1;
    if (deadline) {
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(*deadline - Clock::now()).count();
      if (left <= 0) return nullptr;
      wait_ms = static_cast<int>(left) + 1;
    }
    pollfd fds[2] = {{xcb_get_file_descriptor(c), POLLIN, 0}, {wake[0], POLLIN, 0}};
    if (poll(fds, 2, wait_ms) > 0 && fds[1].revents != 0) stop = true;
  }
  return nullptr;
}

bool X11SelectionReader::Impl::OwnerChanged(const xcb_generic_event_t* e) {
  if ((e->response_type & 0x7F) != xfixes_base + XCB_XFIXES_SELECTION_NOTIFY) return false;
  const auto* n = reinterpret_cast<const xcb_xfixes_selection_notify_event_t*>(e);
  if (n->selection != clipboard) return true;
  pending = OwnerChange{n->owner, n->timestamp};
  return true;
}

void X11SelectionReader::Impl::Run() {
  while (!stop) {
    if (!pending) {
      Freed<xcb_generic_event_t> e(NextEvent(std::nullopt));
      if (e) OwnerChanged(e.p);
      continue;
    }
    const OwnerChange change = *pending;
    pending.reset();
    // The program's own writes are announced by the program as it makes them.
    if (OwnWindow(change.owner)) continue;
    std::optional<std::string> text;
    if (change.owner != XCB_NONE) text = Fetch(change.time);
    // A newer owner makes this answer stale; its own turn comes next.
    if (pending || stop) continue;
    deliver(std::move(text));
  }
}

std::optional<std::string> X11SelectionReader::Impl::Fetch(xcb_timestamp_t time) {
  xcb_delete_property(c, window, property);
  xcb_convert_selection(c, window, clipboard, utf8, property, time);
  xcb_flush(c);
  const Clock::time_point deadline = Clock::now() + options.timeout;
  for (;;) {
    Freed<xcb_generic_event_t> e(NextEvent(deadline));
    if (!e) return std::nullopt;  // no answer in time: the request is abandoned
    if (OwnerChanged(e.p)) {
      if (pending) return std::nullopt;
      continue;
    }
    if ((e->response_type & 0x7F) != XCB_SELECTION_NOTIFY) continue;
    const auto* n = reinterpret_cast<const xcb_selection_notify_event_t*>(e.p);
    // An answer to an earlier, abandoned request carries that request's time.
    if (n->requestor != window || n->selection != clipboard || n->time != time) continue;
    if (n->property == XCB_NONE) return std::nullopt;
    break;
  }
  const uint32_t longs = static_cast<uint32_t>(options.max_bytes / 4 + 1);
  Freed<xcb_get_property_reply_t> reply(xcb_get_property_reply(
      c, xcb_get_property(c, 1, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, longs), nullptr));
  if (!reply) return std::nullopt;
  if (reply->type == incr) return ReadIncrementally();
  if (reply->type != utf8 || reply->format != 8 || reply->bytes_after != 0) return std::nullopt;
  const int length = xcb_get_property_value_length(reply.p);
  if (length < 0 || static_cast<size_t>(length) > options.max_bytes) return std::nullopt;
  return std::string(static_cast<const char*>(xcb_get_property_value(reply.p)),
                     static_cast<size_t>(length));
}

// The owner sends the text in parts: each part it writes to the property is read and deleted,
// which asks for the next; an empty part ends the text.
std::optional<std::string> X11SelectionReader::Impl::ReadIncrementally() {
  std::string text;
  xcb_flush(c);
  for (;;) {
    const Clock::time_point deadline = Clock::now() + options.timeout;
    bool got_part = false;
    while (!got_part) {
      Freed<xcb_generic_event_t> e(NextEvent(deadline));
      if (!e) return std::nullopt;
      if (OwnerChanged(e.p)) {
        if (pending) return std::nullopt;
        continue;
      }
      if ((e->response_type & 0x7F) != XCB_PROPERTY_NOTIFY) continue;
      const auto* n = reinterpret_cast<const xcb_property_notify_event_t*>(e.p);
      got_part = n->window == window && n->atom == property && n->state == XCB_PROPERTY_NEW_VALUE;
    }
    const uint32_t longs = static_cast<uint32_t>(options.max_bytes / 4 + 1);
    Freed<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        c, xcb_get_property(c, 1, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, longs), nullptr));
    if (!reply || reply->format != 8 || reply->bytes_after != 0) return std::nullopt;
    const int length = xcb_get_property_value_length(reply.p);
    if (length <= 0) break;
    if (text.size() + static_cast<size_t>(length) > options.max_bytes) return std::nullopt;
    text.append(static_cast<const char*>(xcb_get_property_value(reply.p)),
                static_cast<size_t>(length));
    xcb_flush(c);
  }
  return text;
}

X11SelectionReader::X11SelectionReader(Deliver deliver, Options options)
    : impl_(std::make_unique<Impl>()) {
  impl_->deliver = std::move(deliver);
  impl_->options = options;
  if (!impl_->Connect()) {
    impl_.reset();
    return;
  }
  xcb_flush(impl_->c);
  impl_->thread = std::thread([impl = impl_.get()] { impl->Run(); });
}

X11SelectionReader::~X11SelectionReader() {
  if (!impl_) return;
  const char byte = 0;
  [[maybe_unused]] const ssize_t n = write(impl_->wake[1], &byte, 1);
  if (impl_->thread.joinable()) impl_->thread.join();
}

bool X11SelectionReader::Running() const {
  return impl_ != nullptr;
}

}  // namespace zelvoran
