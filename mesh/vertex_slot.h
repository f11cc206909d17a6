// Turning a face's vertex number into a place in `Mesh::vertices`, shared by the loader and
// the drawing so that neither ever reads outside the array.
#pragma once

#include <cstddef>

// The element that vertex number `number` (counted from 1) names among `vertexCount`
// vertices, or -1 when it names none. The number is cut toward zero, so 2.7 is vertex 2.
// The range is tested in double first: converting NaN or a huge value to an integer is
// undefined behaviour.
inline std::ptrdiff_t vertexSlot(double number, std::size_t vertexCount) {
    if (!(number >= 1.0 && number < double(vertexCount) + 1.0)) {
        return -1;
    }
    return std::ptrdiff_t(number) - 1;
}
