#pragma once
// A TCP listener on 127.0.0.1 that stands in for a database server which is there but never speaks:
// it accepts connections and either holds them without sending the greeting or hangs up at once. It
// counts what arrives, so a test can see where the program tried to connect.

#include <condition_variable>
#include <mutex>
#include <thread>

class TcpListener {
public:
    enum class Mode {
        Silent, // keeps each connection open and never sends a byte
        HangUp, // closes each connection as soon as it arrives
    };

    // Listens on 127.0.0.1:port (0: a free port of the system's choice). Throws std::system_error, with
    // EADDRINUSE when another program holds the port.
    TcpListener(unsigned short port, Mode mode);
    ~TcpListener();
    TcpListener(const TcpListener&) = delete;
    TcpListener& operator=(const TcpListener&) = delete;

    unsigned short Port() const { return port_; }
    // Connections accepted so far.
    int Accepted() const;
    // Silent mode: waits until the client side has closed every accepted connection. False when a
    // connection was still open after the listener's own patience ran out and the listener closed it:
    // the client would have waited for the greeting for ever.
    bool ClientsGaveUp();

    // A port on 127.0.0.1 that nothing listens on (it was free a moment ago).
    static unsigned short ClosedPort();

private:
    void Serve();

    int listenFd_ = -1;
    int wakeFd_ = -1; // eventfd that tells Serve to stop
    unsigned short port_ = 0;
    Mode mode_;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    int accepted_ = 0;
    int closedByClient_ = 0;
    int closedByListener_ = 0;
    std::thread thread_;
};
