#include "DisplayBoxes.h"

#include <QElapsedTimer>
#include <QThread>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

// Replies of xcb are freed with free().
template <typename Reply>
std::unique_ptr<Reply, decltype(&std::free)> Owned(Reply *reply)
{
    return {reply, &std::free};
}

bool IsShown(xcb_connection_t *connection, xcb_window_t window)
{
    const auto attributes =
        Owned(xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, window), nullptr));
    return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

// The window this one is transient for, none when it is not.
xcb_window_t Owner(xcb_connection_t *connection, xcb_window_t window)
{
    const auto owner = Owned(xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, window, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 0, 1), nullptr));
    return owner && xcb_get_property_value_length(owner.get()) > 0
               ? *static_cast<xcb_window_t *>(xcb_get_property_value(owner.get()))
               : xcb_window_t(XCB_WINDOW_NONE);
}

xcb_atom_t Atom(xcb_connection_t *connection, const char *name)
{
    const auto reply = Owned(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

}  // namespace

TDisplayBoxes::TDisplayBoxes(const QString &display)
    : FConnection(xcb_connect(display.toLocal8Bit().constData(), nullptr))
{
}

TDisplayBoxes::~TDisplayBoxes() { xcb_disconnect(FConnection); }

template <typename Visit>
int TDisplayBoxes::ForEachBox(Visit visit)
{
    if (xcb_connection_has_error(FConnection))
        return 0;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(FConnection)).data->root;
    const auto tree = Owned(xcb_query_tree_reply(FConnection, xcb_query_tree(FConnection, root), nullptr));
    if (!tree)
        return 0;
    const xcb_window_t *windows = xcb_query_tree_children(tree.get());
    int boxes = 0;
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
        if (IsShown(FConnection, windows[i]) && Owner(FConnection, windows[i]) != XCB_WINDOW_NONE) {
            ++boxes;
            visit(windows[i]);
        }
    }
    xcb_flush(FConnection);
    return boxes;
}

bool TDisplayBoxes::WaitForBox(int timeoutMs)
{
    QElapsedTimer waited;
    waited.start();
    while (ForEachBox([](xcb_window_t) {}) == 0) {
        if (waited.elapsed() > timeoutMs)
            return false;
        QThread::msleep(50);
    }
    return true;
}

bool TDisplayBoxes::OwnersShown()
{
    int orphans = 0;
    ForEachBox([&](xcb_window_t box) { orphans += !IsShown(FConnection, Owner(FConnection, box)); });
    return orphans == 0;
}

void TDisplayBoxes::CloseAll()
{
    const xcb_atom_t protocols = Atom(FConnection, "WM_PROTOCOLS");
    const xcb_atom_t deleteWindow = Atom(FConnection, "WM_DELETE_WINDOW");
    ForEachBox([&](xcb_window_t box) {
        xcb_client_message_event_t message = {};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = box;
        message.type = protocols;
        message.data.data32[0] = deleteWindow;
        message.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(FConnection, 0, box, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&message));
    });
}
