#include "sim/mail/MessageBody.hpp"

Class MessageBodyPart::registerRuntimeClass() {
    static const Class cls = objc::ClassBuilder<MessageBodyPart>("MessageBodyPart")
                                 .method<&MessageBodyPart::decodeText>("decodeText")
                                 .method<&MessageBodyPart::isHTML>("isHTML");
    return cls;
}

Class MessageBody::registerRuntimeClass() {
    MessageBodyPart::registerRuntimeClass();
    static const Class cls = objc::ClassBuilder<MessageBody>("MessageBody")
                                 .method<&MessageBody::isHTML>("isHTML")
                                 .method<&MessageBody::preferredBodyPart>("preferredBodyPart");
    return cls;
}
