#pragma once
// The processor page: the fields of the processor, its rows and Dutch texts,
// and its collector.

namespace app {

struct CategoryRow;

const CategoryRow& ProcessorCategory();

}  // namespace app
