#include "anchorgrid.h"

#include "checkedmath.h"
#include "runtimeerror.h"

namespace {

// 0, 1, 2: the near edge (1), the middle, the far edge of a side `size` twips long.
int32_t gridCoordinate(int slot, double size)
{
    switch (slot) {
    case 0:
        return 1;
    case 1:
        return roundToInt32(size / 2);
    default:
        return roundToInt32(size);
    }
}

} // namespace

AnchorPoint anchorForButton(int index, double width, double height)
{
    if (index < 1 || index > 9) {
        throw RuntimeError(RuntimeError::Kind::SubscriptOutOfRange);
    }
    const int column = (index - 1) % 3;
    const int row = (index - 1) / 3;
    return { gridCoordinate(column, width), gridCoordinate(row, height) };
}

AnchorShapes anchorShapes(int32_t originX, int32_t originY)
{
    return { { checkedSub(originX, 850), checkedAdd(originY, 300) },
        { checkedSub(originX, 125), checkedSub(originY, 100) } };
}
