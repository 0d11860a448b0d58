#include "app/ClientGeometry.h"

#include "core/World.h"

BoardGeometry boardGeometryOf(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    return boardGeometry(client.right - client.left, client.bottom - client.top,
                         theWorld->grid.width, theWorld->grid.height);
}
