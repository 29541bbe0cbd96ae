/* The floor of `export` and `import`: a minimal C program that reads a CSV file whole, splits its
   records and fields (quoted fields with doubled quotes included) and parses every field that is
   a number, printing the record count and the sum. */
#include <stdio.h>

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    FILE* file = fopen(argv[1], "rb");
    if (!file)
        return 1;
    static char buffer[1 << 16];
    long records = 0, sum = 0, value = 0;
    int numeric = 1, quoted = 0;
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, file)) > 0) {
        for (size_t i = 0; i < n; ++i) {
            const char c = buffer[i];
            if (quoted) {
                /* A doubled quote closes and opens the field again. */
                quoted = c != '"';
                continue;
            }
            if (c == '"') {
                quoted = 1;
                numeric = 0;
            } else if (c == ',' || c == '\n') {
                if (numeric)
                    sum += value;
                value = 0;
                numeric = 1;
                records += c == '\n';
            } else if (c >= '0' && c <= '9') {
                value = value * 10 + (c - '0');
            } else if (c != '\r') {
                numeric = 0;
            }
        }
    }
    fclose(file);
    printf("%ld %ld\n", records, sum);
    return 0;
}
