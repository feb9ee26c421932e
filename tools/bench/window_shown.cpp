// Waits, asleep on the X connection, until a window of a given title is on
// screen, and says when: the bench times a start with it without spending
// the processor that the program it times needs.
//   window_shown TITLE SECONDS
// Prints "ready" once it listens, so that the program can be started after
// it; then "mapped ID" once the window is mapped with every window above it
// (ID in decimal), and "drawn ID" once the program has drawn into it after
// that (the X server's Damage extension tells). Status 1 when either does
// not come within SECONDS.
#include <xcb/xcb.h>
#include <xcb/xcbext.h>

#include <poll.h>
#include <sys/uio.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <string>

namespace {

template <class T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    Reply<xcb_intern_atom_reply_t> r(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr),
        std::free);
    return r ? r->atom : xcb_atom_t{XCB_ATOM_NONE};
}

std::string property(xcb_connection_t* c, xcb_window_t w, xcb_atom_t name)
{
    Reply<xcb_get_property_reply_t> r(
        xcb_get_property_reply(c, xcb_get_property(c, 0, w, name, XCB_GET_PROPERTY_TYPE_ANY, 0, 256), nullptr),
        std::free);
    if (!r || r->format != 8)
        return {};
    return std::string(static_cast<const char*>(xcb_get_property_value(r.get())),
                       static_cast<size_t>(xcb_get_property_value_length(r.get())));
}

// The Damage extension's two requests, written out: its library is not one
// the build needs otherwise.
xcb_extension_t damageExtension = {"DAMAGE", 0};

unsigned int damageRequest(xcb_connection_t* c, uint8_t opcode, const uint32_t* body, size_t words, bool isVoid)
{
    uint32_t request[4] = {};  // the header, which xcb fills in, then the body
    std::memcpy(request + 1, body, words * 4);
    iovec parts[3];
    parts[2].iov_base = request;
    parts[2].iov_len = (words + 1) * 4;
    const xcb_protocol_request_t what = {1, &damageExtension, opcode, isVoid ? uint8_t(1) : uint8_t(0)};
    return xcb_send_request(c, isVoid ? 0 : XCB_REQUEST_CHECKED, parts + 2, &what);
}

// The first event code of the Damage extension, once it is set up for this
// connection; 0 when the server has none.
uint8_t startDamage(xcb_connection_t* c)
{
    const xcb_query_extension_reply_t* ext = xcb_get_extension_data(c, &damageExtension);
    if (!ext || !ext->present)
        return 0;
    const uint32_t version[2] = {1, 1};
    std::free(xcb_wait_for_reply(c, damageRequest(c, 0, version, 2, false), nullptr));
    return ext->first_event;
}

// Reports every drawing into the window as an event.
void watchDrawing(xcb_connection_t* c, xcb_window_t w)
{
    const uint32_t create[3] = {xcb_generate_id(c), w, 0};  // DamageReportRawRectangles
    damageRequest(c, 1, create, 3, true);
}

bool viewable(xcb_connection_t* c, xcb_window_t w)
{
    Reply<xcb_get_window_attributes_reply_t> r(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w), nullptr), std::free);
    return r && r->map_state == XCB_MAP_STATE_VIEWABLE;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: window_shown TITLE SECONDS\n");
        return 2;
    }
    const std::string title = argv[1];
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(std::atof(argv[2]));
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "window_shown: no display\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const xcb_atom_t netName = atom(c, "_NET_WM_NAME");
    const uint8_t damageNotify = startDamage(c);
    if (!damageNotify) {
        std::fprintf(stderr, "window_shown: the X server has no Damage extension\n");
        return 1;
    }
    // Every window made at the top is watched: it may be the program's
    // own, to be reparented into a frame by the window manager and mapped
    // there, or the frame, mapped on the root. Its drawing is watched from
    // the start, so that none is missed.
    const uint32_t rootMask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &rootMask);
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));  // the mask is in force before "ready"
    std::printf("ready\n");
    std::fflush(stdout);

    std::set<xcb_window_t> made;
    xcb_window_t mapped = XCB_WINDOW_NONE;
    auto ours = [&](xcb_window_t w) {
        return viewable(c, w) && (property(c, w, netName) == title || property(c, w, XCB_ATOM_WM_NAME) == title);
    };
    const int fd = xcb_get_file_descriptor(c);
    while (true) {
        while (xcb_generic_event_t* e = xcb_poll_for_event(c)) {
            const uint8_t type = e->response_type & 0x7f;
            xcb_window_t drawnInto = XCB_WINDOW_NONE;
            if (type == XCB_CREATE_NOTIFY) {
                const auto* created = reinterpret_cast<xcb_create_notify_event_t*>(e);
                if (created->parent == root) {
                    made.insert(created->window);
                    const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
                    xcb_change_window_attributes(c, created->window, XCB_CW_EVENT_MASK, &mask);
                    watchDrawing(c, created->window);
                }
            } else if (type == damageNotify) {
                std::memcpy(&drawnInto, reinterpret_cast<const char*>(e) + 4, sizeof drawnInto);  // the drawable
            }
            std::free(e);
            if (type == XCB_MAP_NOTIFY && !mapped) {
                for (xcb_window_t w : made)
                    if (ours(w)) {
                        mapped = w;
                        std::printf("mapped %u\n", w);
                        std::fflush(stdout);
                        break;
                    }
            }
            if (mapped && drawnInto == mapped) {
                std::printf("drawn %u\n", mapped);
                return 0;
            }
        }
        if (xcb_connection_has_error(c))
            return 1;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
        if (left <= 0)
            return 1;
        xcb_flush(c);
        pollfd p{fd, POLLIN, 0};
        ::poll(&p, 1, static_cast<int>(left));
    }
}
