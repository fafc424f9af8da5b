#include "skin/tests/fixture_images.h"

#include <cstddef>

extern const unsigned char fixture_main_image[];
extern const std::size_t fixture_main_image_size;
extern const unsigned char fixture_failing_image[];
extern const std::size_t fixture_failing_image_size;

namespace morvane::testing {

ByteSet MainFixture() {
    return ByteSet(fixture_main_image, fixture_main_image + fixture_main_image_size);
}

ByteSet FailingFixture() {
    return ByteSet(fixture_failing_image, fixture_failing_image + fixture_failing_image_size);
}

}  // namespace morvane::testing
