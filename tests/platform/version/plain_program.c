/* A program without a version block. */
int main(void) { return 0; }
