/* The floor of `aggregate`: a minimal C program that reads a response file whole and parses
   every number in it (the header's counts and one answer a line), printing their sum. */
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    FILE* file = fopen(argv[1], "rb");
    if (!file)
        return 1;
    static char buffer[1 << 16];
    long sum = 0, value = 0, count = 0;
    int inNumber = 0;
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, file)) > 0) {
        for (size_t i = 0; i < n; ++i) {
            const char c = buffer[i];
            if (c >= '0' && c <= '9') {
                value = value * 10 + (c - '0');
                inNumber = 1;
            } else if (inNumber) {
                sum += value;
                ++count;
                value = 0;
                inNumber = 0;
            }
        }
    }
    fclose(file);
    printf("%ld %ld\n", count, sum + value);
    return 0;
}
