/* The baseline of the tool's start: a C program that only exits. */
int main(void) {
    return 0;
}
