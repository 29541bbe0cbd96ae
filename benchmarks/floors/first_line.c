/* The floor of a process: start, open one file, read its first line, end. */
#include <stdio.h>

int main(int argc, char** argv) {
    char line[256];
    if (argc != 2)
        return 2;
    FILE* file = fopen(argv[1], "rb");
    if (!file || !fgets(line, sizeof line, file))
        return 1;
    fclose(file);
    return 0;
}
