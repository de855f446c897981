// Process entry: hands over to WinMain.
int main() { return 0; }
