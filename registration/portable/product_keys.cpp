#include "registration/portable/product_keys.h"

#include "base/portable/text_helpers.h"

void ProductRecordKey(char* buffer, std::size_t capacity, const char* productKey,
                      const char* suffix, const char* subkey)
{
    CopyText(buffer, kProductsKey, capacity);
    JoinPath(buffer, productKey, capacity);
    AppendText(buffer, suffix, capacity);
    if (subkey != nullptr)
        JoinPath(buffer, subkey, capacity);
}
