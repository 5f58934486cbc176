// An executable that is only read, never run: it carries a version block.
int main() { return 0; }
