// The engine image and the skin file, carried by the program as data.
#include <cstddef>

#include "skin/binding/skin_engine.h"

extern const unsigned char morvane_engine_image[];
extern const std::size_t morvane_engine_image_size;
extern const unsigned char morvane_skin_data[];
extern const std::size_t morvane_skin_data_size;

namespace morvane {

Bytes EngineImage() { return {morvane_engine_image, morvane_engine_image_size}; }
Bytes SkinData() { return {morvane_skin_data, morvane_skin_data_size}; }

}  // namespace morvane
