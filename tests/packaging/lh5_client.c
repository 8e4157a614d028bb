/* A program of someone else's, built only with `pkg-config --cflags --libs lh5`
 * against the installed library: compresses, expands, and meets each failure. */
#include <lh5.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define CHECK(cond)                                              \
    do {                                                         \
        if (!(cond)) {                                           \
            fprintf(stderr, "line %d: %s failed\n", __LINE__, #cond); \
            return 1;                                            \
        }                                                        \
    } while (0)

int main(void) {
    enum { kSize = 100000 };
    unsigned char* data = malloc(kSize);
    unsigned char* back = malloc(kSize);
    size_t cap = lh5_compress_bound(kSize), n = 0, m = 0;
    unsigned char* archive = malloc(cap);
    CHECK(data && back && archive);
    for (size_t i = 0; i < kSize; i++) data[i] = (unsigned char)("channel list "[i % 13] + i / 5000);

    CHECK(lh5_compress(data, kSize, archive, cap, &n) == LH5_OK);
    CHECK(n > 28 && n < kSize);
    CHECK(lh5_decompress(archive, n, back, kSize, &m) == LH5_OK);
    CHECK(m == kSize && memcmp(back, data, kSize) == 0);

    /* The old calls read the same archive. */
    CHECK(F_DECOMPRESS_Decode(archive, back) == kSize);
    CHECK(F_COMPRESS_Data(data, archive, kSize) == (int)n);

    /* Too small an output: the size needed comes back. */
    CHECK(lh5_decompress(archive, n, back, kSize - 1, &m) == LH5_OUTPUT_TOO_SMALL);
    CHECK(m == kSize);
    /* A cut archive is bad data, not a read past its end. */
    CHECK(lh5_decompress(archive, n / 2, back, kSize, &m) == LH5_BAD_DATA);
    /* A CRC that does not match: data written, status says so. */
    archive[22] ^= 1;
    CHECK(lh5_decompress(archive, n, back, kSize, &m) == LH5_CRC_MISMATCH);
    CHECK(m == kSize && memcmp(back, data, kSize) == 0);
    CHECK(lh5_compress(data, 1, archive, cap, &n) == LH5_INCOMPRESSIBLE);
    CHECK(strcmp(lh5_status_text(LH5_CRC_MISMATCH), "CRC mismatch") == 0);

    free(data);
    free(back);
    free(archive);
    puts("lh5 client: ok");
    return 0;
}
